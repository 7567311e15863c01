Object
{
	mName : WarningLight
	Transform
	{
		transformData : 		TransformData
		{
			WorldPosition : 			MetaVec3
			{
				x_ : 0
				y_ : 9
				z_ : 0
			}
			WorldScalar : 			MetaVec3
			{
				x_ : 1
				y_ : 1
				z_ : 1
			}
		}
	}
	Light
	{
		diffuse_ : 		MetaVec3
		{
			x_ : 1
			y_ : 0.1
			z_ : 0.1
		}
		intensity_ : 3
		lightType_ : 0
		range_ : 40
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
			x_ : 1
			y_ : 0
			z_ : 0
		}
		m_ModelName : warninglight
		m_ShaderName : defaultshader
		m_TextureName : defaulttexture 
		m_Transparent : 0
		m_Visible : 1
	}
}

