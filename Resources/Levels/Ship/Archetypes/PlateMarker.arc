Object
{
	mName : PlateMarker
	Transform
	{
		transformData : 		TransformData
		{
			WorldPosition : 			MetaVec3
			{
				x_ : 0
				y_ : 0.05
				z_ : 0
			}
			WorldScalar : 			MetaVec3
			{
				x_ : 3
				y_ : 0.5
				z_ : 3
			}
		}
	}
	Renderable
	{
		m_BlendFactors : 		MetaVec4
		{
			w_ : 1
			x_ : 0.75
			y_ : 0.75
			z_ : 0.75
		}
		m_Color : 		MetaVec4
		{
			w_ : 1
			x_ : 0.6
			y_ : 0.6
			z_ : 0.6
		}
		m_ModelName : plate
		m_ShaderName : defaultshader
		m_TextureName : defaulttexture 
		m_Transparent : 0
		m_Visible : 1
	}
}

